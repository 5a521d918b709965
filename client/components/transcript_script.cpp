#include "client/components/transcript_script.h"

namespace orvinta::components {
namespace {

// A transcript keeps its lines in blocks, so that laying out the page after
// new lines touches the last block only. Blocks far from the view are frozen
// into strings and thawed as they come near it: the page holds a few hundred
// live lines however long the transcript grows, which keeps the cost of a
// line, the collector's work and the memory from growing with it.
constexpr char kScript[] = R"JS(
(function () {
  'use strict';
  var PER_BLOCK = %1;
  var LIVE_BLOCKS = 3;  // the newest blocks are never frozen
  var frozen = new WeakMap();  // block -> its lines' HTML while frozen
  var near = new WeakSet();    // blocks the view is near, as last seen
  var observer = new IntersectionObserver(function (entries) {
    entries.forEach(function (entry) {
      var block = entry.target;
      if (entry.isIntersecting) {
        near.add(block);
        thaw(block);
      } else {
        near.delete(block);
        if (isOld(block)) freeze(block);
      }
    });
  }, { rootMargin: '2000px 0px' });

  function isBlock(element) {
    return !!element && element.className === 'orvinta-lines';
  }

  function isOld(block) {
    var later = block;
    for (var k = 0; k < LIVE_BLOCKS; ++k) {
      later = later.nextElementSibling;
      if (!isBlock(later)) return false;
    }
    return true;
  }

  function freeze(block) {
    if (frozen.has(block)) return;
    var height = block.offsetHeight;
    frozen.set(block, block.innerHTML);
    block.style.height = height + 'px';
    block.textContent = '';
  }

  function thaw(block) {
    var html = frozen.get(block);
    if (html === undefined) return;
    frozen.delete(block);
    block.innerHTML = html;
    block.style.height = '';
  }

  function newBlock(marker) {
    var block = document.createElement('div');
    block.className = 'orvinta-lines';
    block.style.cssText = 'content-visibility:auto;contain-intrinsic-size:auto 2500px';
    marker.parentNode.insertBefore(block, marker);
    observer.observe(block);
    // A hidden page draws no frames and sees no intersections: the block
    // that has just become old is frozen here unless the view is near it.
    var old = block;
    for (var k = 0; k < LIVE_BLOCKS && old; ++k) old = old.previousElementSibling;
    if (isBlock(old) && !near.has(old)) freeze(old);
    return block;
  }

  // Inserts the lines before the marker, in order.
  function append(markerId, lines) {
    var marker = document.getElementById(markerId);
    if (!marker) return;
    var block = marker.previousElementSibling;
    if (!isBlock(block) || frozen.has(block)) block = null;
    for (var i = 0; i < lines.length;) {
      if (!block || block.childElementCount >= PER_BLOCK) block = newBlock(marker);
      var count = Math.max(1, PER_BLOCK - block.childElementCount);
      block.insertAdjacentHTML('beforeend', lines.slice(i, i + count).join(''));
      i += count;
    }
  }

  // The element's inner HTML as inserting each line in front of the marker
  // would have left it: frozen lines back in place and the blocks unwrapped.
  function html(element) {
    var blocks = element.getElementsByClassName('orvinta-lines');
    if (blocks.length === 0) return element.innerHTML;
    var copy = element.cloneNode(true);
    var copies = Array.prototype.slice.call(copy.getElementsByClassName('orvinta-lines'));
    for (var j = 0; j < copies.length; ++j) {
      var lines = frozen.get(blocks[j]);
      if (lines !== undefined) copies[j].innerHTML = lines;
      var parent = copies[j].parentNode;
      while (copies[j].firstChild) parent.insertBefore(copies[j].firstChild, copies[j]);
      parent.removeChild(copies[j]);
    }
    return copy.innerHTML;
  }

  window.orvintaTranscript = { append: append, html: html };
})();
)JS";

}  // namespace

QString TranscriptScript() {
  static const QString script = QString::fromUtf8(kScript).arg(kLinesPerBlock);
  return script;
}

}  // namespace orvinta::components
