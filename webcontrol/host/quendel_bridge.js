// Injected into every page quendel-host opens. Finds the page's OBJECT
// elements, asks the host to create their controls, gives each element the
// control's methods, and runs the handlers the page declares for its events:
//   <script for="ELEMENT-ID" event="EventName(param, ...)"> ...body... </script>
(function () {
  'use strict';
  if (window.__quendelBridge) return;
  window.__quendelBridge = true;

  // Handlers are compiled once, on first use, from the page's own markup.
  const handlerCache = new Map();

  function parseEventAttribute(text) {
    const m = /^\s*([A-Za-z_$][\w$]*)\s*(?:\(([^)]*)\))?\s*$/.exec(text || '');
    if (!m) return null;
    const params = (m[2] || '').split(',').map(p => p.trim()).filter(p => p.length > 0);
    return { name: m[1], params: params };
  }

  function handlersFor(element, eventName, paramNames) {
    const cacheKey = (element.id || '') + '\u0000' + eventName.toLowerCase();
    if (handlerCache.has(cacheKey)) return handlerCache.get(cacheKey);
    const handlers = [];
    if (element.id) {
      for (const script of document.querySelectorAll('script[for][event]')) {
        if (script.getAttribute('for') !== element.id) continue;
        const declared = parseEventAttribute(script.getAttribute('event'));
        if (!declared || declared.name.toLowerCase() !== eventName.toLowerCase()) continue;
        const params = declared.params.length ? declared.params : paramNames;
        try {
          handlers.push(new Function(...params, script.text));
        } catch (e) {
          console.error('quendel-host: handler for ' + element.id + '.' + eventName + ': ' + e);
        }
      }
    }
    handlerCache.set(cacheKey, handlers);
    return handlers;
  }

  function deliver(element, eventName, paramNames, values) {
    for (const handler of handlersFor(element, eventName, paramNames)) {
      try {
        handler.apply(element, values);
      } catch (e) {
        console.error('quendel-host: ' + (element.id || 'object') + '.' + eventName + ': ' + e);
      }
    }
  }

  function describe(element, index) {
    const rect = element.getBoundingClientRect();
    const params = [];
    for (const child of element.children) {
      if (child.tagName === 'PARAM') params.push([child.getAttribute('name') || '', child.getAttribute('value') || '']);
    }
    return {
      index: index,
      id: element.id || '',
      classid: element.getAttribute('classid') || '',
      params: params,
      rect: { x: Math.round(rect.left), y: Math.round(rect.top), width: Math.round(rect.width), height: Math.round(rect.height) },
    };
  }

  function start() {
    const elements = Array.from(document.querySelectorAll('object[classid]'));
    if (!elements.length || typeof qt === 'undefined' || !qt.webChannelTransport) return;
    new QWebChannel(qt.webChannelTransport, function (channel) {
      const host = channel.objects.quendelHost;
      const byKey = new Map();
      host.controlEvent.connect(function (key, name, paramNames, values) {
        const element = byKey.get(key);
        if (element) deliver(element, name, paramNames, values);
      });
      const request = { cookie: document.cookie, objects: elements.map(describe) };
      host.createControls(JSON.stringify(request), function (reply) {
        for (const created of JSON.parse(reply)) {
          const element = elements[created.index];
          byKey.set(created.key, element);
          for (const member of created.members) {
            // Answers a promise of the call's result code (0 when it was taken).
            element[member] = function (...args) {
              const texts = args.map(a => (a === undefined || a === null) ? '' : String(a));
              return new Promise(resolve => host.invoke(created.key, member, texts, resolve));
            };
          }
          element.readyState = 4;
          deliver(element, 'onreadystatechange', [], []);
        }
      });
    });
  }

  if (document.readyState === 'loading') {
    document.addEventListener('DOMContentLoaded', start);
  } else {
    start();
  }
})();
