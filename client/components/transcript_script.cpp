#include "client/components/transcript_script.h"

namespace orvinta::components {
namespace {

// A transcript keeps its lines in blocks, so that laying out the page after
// new lines touches the last block only. Blocks far from the view are frozen
// into strings and thawed as they come near it: the page holds a few hundred
// live lines however long the transcript grows, which keeps the cost of a
// line, the collector's work and the memory from growing with it. Blocks sit
// in chapters, and frozen ones drop content-visibility: a layout after a new
// block then walks a few dozen boxes, not every block of the transcript.
constexpr char kScript[] = R"JS(
(function () {
  'use strict';
  var PER_BLOCK = %1;
  var LIVE_BLOCKS = 3;  // the newest blocks are never frozen
  var CHAPTER_BLOCKS = 32;
  var BLOCK_CLASS = 'orvinta-lines';
  var CHAPTER_CLASS = 'orvinta-chapter';
  var UNREAD_CLASS = 'orvinta-unread';
  var MENTION_CLASS = 'orvinta-mention';
  var frozen = new WeakMap();  // block -> its lines' HTML while frozen
  var frozenText = new WeakMap();  // block -> its lines' text while frozen, for finding
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
    return !!element && element.className === BLOCK_CLASS;
  }

  function isChapter(element) {
    return !!element && element.className === CHAPTER_CLASS;
  }

  // The blocks before and after a block, across chapters (none for a block
  // the page has let go of).
  function previousBlock(block) {
    if (block.previousElementSibling) return block.previousElementSibling;
    var chapter = block.parentNode && block.parentNode.previousElementSibling;
    return isChapter(chapter) ? chapter.lastElementChild : null;
  }

  function nextBlock(block) {
    if (block.nextElementSibling) return block.nextElementSibling;
    var chapter = block.parentNode && block.parentNode.nextElementSibling;
    return isChapter(chapter) ? chapter.firstElementChild : null;
  }

  function lastBlock(marker) {
    var chapter = marker.previousElementSibling;
    return isChapter(chapter) ? chapter.lastElementChild : null;
  }

  function isOld(block) {
    var later = block;
    for (var k = 0; k < LIVE_BLOCKS; ++k) {
      later = nextBlock(later);
      if (!isBlock(later)) return false;
    }
    return true;
  }

  function freeze(block) {
    if (frozen.has(block)) return;
    var height = block.offsetHeight;
    frozen.set(block, block.innerHTML);
    frozenText.set(block, block.textContent);
    block.style.height = height + 'px';
    // An empty block has nothing to skip, and a skippable box costs every
    // layout of the page; its intrinsic size stays, so it is still remembered.
    block.style.contentVisibility = 'visible';
    block.textContent = '';
  }

  function thaw(block) {
    var html = frozen.get(block);
    if (html === undefined) return;
    frozen.delete(block);
    frozenText.delete(block);
    block.innerHTML = html;
    block.style.height = '';
    block.style.contentVisibility = 'auto';
    // A marker frozen with its block may have moved on since.
    var stale = block.getElementsByClassName(UNREAD_CLASS);
    for (var k = stale.length - 1; k >= 0; --k) {
      if (stale[k].getAttribute('data-n') !== String(markerGeneration)) stale[k].remove();
    }
  }

  function newBlock(marker) {
    var block = document.createElement('div');
    block.className = BLOCK_CLASS;
    block.style.cssText = 'content-visibility:auto;contain-intrinsic-size:auto 2500px';
    var chapter = marker.previousElementSibling;
    if (!isChapter(chapter) || chapter.childElementCount >= CHAPTER_BLOCKS) {
      chapter = document.createElement('div');
      chapter.className = CHAPTER_CLASS;
      marker.parentNode.insertBefore(chapter, marker);
    }
    chapter.appendChild(block);
    observer.observe(block);
    // A hidden page draws no frames and sees no intersections: the block
    // that has just become old is frozen here unless the view is near it.
    var old = block;
    for (var k = 0; k < LIVE_BLOCKS && old; ++k) old = previousBlock(old);
    if (isBlock(old) && !near.has(old)) freeze(old);
    return block;
  }

  // Inserts the lines before the marker, in order.
  function append(markerId, lines) {
    var marker = document.getElementById(markerId);
    if (!marker) return;
    var block = lastBlock(marker);
    if (!isBlock(block) || frozen.has(block)) block = null;
    if (document.hidden) {
      if (seen && !markerPending) {
        if (!block || block.childElementCount >= PER_BLOCK) block = newBlock(marker);
        placeUnreadMarker(block);
      }
    }
    if (!measured) {
      // Once a frame, before the lines change the layout: the view is laid
      // out as the reader left it, so this costs no layout of its own.
      measured = true;
      following = atBottom();
    }
    if (document.hidden || !following) setArrived(arrived + lines.length);
    for (var i = 0; i < lines.length;) {
      if (!block || block.childElementCount >= PER_BLOCK) block = newBlock(marker);
      var count = Math.max(1, PER_BLOCK - block.childElementCount);
      block.insertAdjacentHTML('beforeend', lines.slice(i, i + count).join(''));
      i += count;
    }
  }

  function unwrap(wrapper) {
    var parent = wrapper.parentNode;
    while (wrapper.firstChild) parent.insertBefore(wrapper.firstChild, wrapper);
    parent.removeChild(wrapper);
  }

  // The element's inner HTML as inserting each line in front of the marker
  // would have left it: frozen lines back in place, blocks and chapters unwrapped.
  function html(element) {
    var blocks = element.getElementsByClassName(BLOCK_CLASS);
    if (blocks.length === 0) return element.innerHTML;
    var copy = element.cloneNode(true);
    var copies = Array.prototype.slice.call(copy.getElementsByClassName(BLOCK_CLASS));
    for (var j = 0; j < copies.length; ++j) {
      var lines = frozen.get(blocks[j]);
      if (lines !== undefined) copies[j].innerHTML = lines;
      unwrap(copies[j]);
    }
    Array.prototype.slice.call(copy.getElementsByClassName(CHAPTER_CLASS)).forEach(unwrap);
    var markers = copy.getElementsByClassName(UNREAD_CLASS);
    for (var m = markers.length - 1; m >= 0; --m) markers[m].remove();
    // A mention's class is the page's look, not part of the line.
    var mentions = Array.prototype.slice.call(copy.getElementsByClassName(MENTION_CLASS));
    for (var n = 0; n < mentions.length; ++n) mentions[n].classList.remove(MENTION_CLASS);
    return copy.innerHTML;
  }

  // The reader's place. Lines follow the newest only while the view was at
  // the bottom when they came; scrolled up, they are counted on a bar instead.
  var following = true;
  var measured = false;     // following is known for this frame's lines
  var arrived = 0;          // lines the reader has not been shown
  var followId = 'END_LINE';
  var bar = null;
  var seen = false;         // a page never shown has no place to return to
  var markerBlock = null;   // the block holding the unread marker
  var markerPending = false;
  var markerGeneration = 0;

  function atBottom() {
    var doc = document.scrollingElement || document.documentElement;
    return doc.scrollTop + window.innerHeight >= doc.scrollHeight - 4;
  }

  function setArrived(count) {
    arrived = count;
    if (count === 0 && !bar) return;
    if (!bar) {
      bar = document.createElement('div');
      bar.className = 'orvinta-newlines';
      bar.style.cssText = 'position:fixed;left:50%;bottom:6px;transform:translateX(-50%);z-index:10;' +
          'padding:2px 12px;border-radius:10px;background:#4a6fb5;color:#fff;font-size:12px;' +
          'cursor:pointer;box-shadow:0 1px 3px rgba(0,0,0,.35);white-space:nowrap;display:none';
      bar.addEventListener('click', goNewest);
      document.body.appendChild(bar);
    }
    bar.textContent = '\uc0c8 \uba54\uc2dc\uc9c0 ' + count + '\uac1c \u2193';
    bar.style.display = count > 0 && !document.hidden && !following ? 'block' : 'none';
  }

  function scrollToNewest() {
    var end = document.getElementById(followId);
    if (end) end.scrollIntoView(false);
  }

  function goNewest() {
    following = true;
    scrollToNewest();
    setArrived(0);
  }

  function placeUnreadMarker(block) {
    if (markerBlock) {
      thaw(markerBlock);
      var old = markerBlock.getElementsByClassName(UNREAD_CLASS);
      for (var k = old.length - 1; k >= 0; --k) old[k].remove();
    }
    var line = document.createElement('div');
    line.className = UNREAD_CLASS;
    line.setAttribute('data-n', String(++markerGeneration));
    line.style.cssText = 'display:flex;align-items:center;margin:4px 0;color:#d05050;font-size:11px';
    line.innerHTML = '<span style="flex:1;border-top:1px solid #e08080"></span>' +
        '<span style="padding:0 6px">\uc5ec\uae30\ubd80\ud130 \uc77d\uc9c0 \uc54a\uc740 \uba54\uc2dc\uc9c0</span>' +
        '<span style="flex:1;border-top:1px solid #e08080"></span>';
    block.appendChild(line);
    markerBlock = block;
    markerPending = true;
  }

  // Shown again after lines came in the background: the view starts where
  // they begin.
  function showUnread() {
    markerPending = false;
    if (!markerBlock || !markerBlock.isConnected) return false;
    thaw(markerBlock);
    var line = markerBlock.getElementsByClassName(UNREAD_CLASS)[0];
    if (!line) return false;
    line.scrollIntoView(true);
    following = atBottom();
    setArrived(following ? 0 : arrived);
    return true;
  }

  // Asked for after lines land, once a frame.
  function follow(id) {
    followId = id;
    measured = false;
    if (markerPending && showUnread()) return;
    if (!following) return setArrived(arrived);
    scrollToNewest();
    setArrived(0);
  }

  // The user's own line: to the newest, wherever the reader was.
  function jump(id) {
    followId = id;
    measured = false;
    markerPending = false;
    goNewest();
  }

  // The reader who scrolls down to the newest line needs the bar no more.
  window.addEventListener('scroll', function () {
    if (arrived > 0 && !markerPending && atBottom()) {
      following = true;
      setArrived(0);
    }
  }, { passive: true });

  document.addEventListener('keydown', function (e) {
    if (e.key === 'End' && !e.ctrlKey && !e.altKey && !e.shiftKey) goNewest();
  }, true);

  document.addEventListener('visibilitychange', function () {
    if (document.hidden) return;
    seen = true;
    requestAnimationFrame(function () { follow(followId); });
  });
  if (!document.hidden) seen = true;

  // Finding text in every line, frozen or not: matches are counted in each
  // block's text, and the chosen one's block is thawed to select it.
  var query = '';
  var current = -1;
  var total = 0;

  function blockText(block) {
    var text = frozenText.get(block);
    return (text === undefined ? block.textContent : text).toLowerCase();
  }

  function countIn(text) {
    var n = 0;
    for (var at = text.indexOf(query); at >= 0; at = text.indexOf(query, at + query.length)) ++n;
    return n;
  }

  function allBlocks() {
    var main = document.getElementById('CHAT_MAIN');
    return main ? main.getElementsByClassName(BLOCK_CLASS) : [];
  }

  // Selects the match'th match in the block and brings it into view.
  function selectIn(block, match) {
    thaw(block);
    var text = block.textContent.toLowerCase();
    var at = text.indexOf(query);
    for (var k = 0; k < match && at >= 0; ++k) at = text.indexOf(query, at + query.length);
    if (at < 0) return;
    var walker = document.createTreeWalker(block, NodeFilter.SHOW_TEXT);
    var range = document.createRange();
    var seen = 0, start = false;
    for (var node = walker.nextNode(); node; node = walker.nextNode()) {
      var length = node.nodeValue.length;
      if (!start && at < seen + length) { range.setStart(node, at - seen); start = true; }
      if (start && at + query.length <= seen + length) { range.setEnd(node, at + query.length - seen); break; }
      seen += length;
    }
    var selection = window.getSelection();
    selection.removeAllRanges();
    selection.addRange(range);
    var element = range.startContainer.parentElement;
    if (element) element.scrollIntoView({ block: 'center' });
    following = atBottom();
  }

  function show(index) {
    var blocks = allBlocks();
    for (var b = 0; b < blocks.length; ++b) {
      var n = countIn(blockText(blocks[b]));
      if (index < n) return selectIn(blocks[b], index);
      index -= n;
    }
  }

  // A new query: counts the matches and selects the newest. Returns
  // [position (1-based, 0: none), count].
  function find(text) {
    query = String(text).toLowerCase();
    total = 0;
    current = -1;
    window.getSelection().removeAllRanges();
    if (!query) return [0, 0];
    var blocks = allBlocks();
    for (var b = 0; b < blocks.length; ++b) total += countIn(blockText(blocks[b]));
    if (total === 0) return [0, 0];
    current = total - 1;
    show(current);
    return [current + 1, total];
  }

  // The next (step 1) or previous (step -1) match, wrapping around.
  function findNext(step) {
    if (total === 0) return [0, 0];
    current = (current + step + total) % total;
    show(current);
    return [current + 1, total];
  }

  window.orvintaTranscript = { append: append, html: html, follow: follow, jump: jump, find: find,
                               findNext: findNext };
})();
)JS";

}  // namespace

QString TranscriptScript() {
  static const QString script = QString::fromUtf8(kScript).arg(kLinesPerBlock);
  return script;
}

}  // namespace orvinta::components
