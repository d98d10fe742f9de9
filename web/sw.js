// Keeps the page's files for use offline. Each build names its cache after a hash of the files
// it caches (stamped at build time), so a changed build is a new worker: it caches its own
// files, takes over at once and drops the old copy. The page is kept under the folder's
// address ('./', index.html), the one it is usually opened by, so the copy is usually the one
// the browser has just loaded. The page and its other files go to the network first, so the
// next load shows a new build, and the cache answers only when the network does not. The
// lesson's files are named after their hash (16 hex digits before the extension): one such
// name always holds the same bytes, so the cache answers them first, and one build's page
// never gets another build's lesson.
'use strict';
const CACHE = 'tamirel-@TAMIREL_VERSION@';
const FILES = ['./', 'lesson.js', 'tamirel-lesson.wasm', 'manifest.webmanifest', 'favicon.png', 'icon-192.png', 'icon-512.png'];
const STAMPED = /\.[0-9a-f]{16}\.(js|wasm)$/;

self.addEventListener('install', (event) => {
  // Asked again of the server, so the copy is this build's, but answered by the browser's HTTP
  // cache when the server says it is unchanged (a 304): the page the worker came with is not
  // downloaded twice.
  event.waitUntil(caches.open(CACHE)
    .then((cache) => cache.addAll(FILES.map((file) => new Request(file, { cache: 'no-cache' }))))
    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name !== CACHE).map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  const url = new URL(request.url);
  if (request.method !== 'GET' || url.origin !== location.origin) return;
  event.respondWith((async () => {
    const cache = await caches.open(CACHE);
    const kept = STAMPED.test(url.pathname) && await cache.match(request);
    if (kept) return kept;
    try {
      // Asked again of the server (a cheap 304 when unchanged), never taken as fresh from the
      // HTTP cache.
      return await fetch(request, { cache: 'no-cache' });
    } catch (error) {
      const hit = await cache.match(request) || (request.mode === 'navigate' ? await cache.match('./') : undefined);
      if (hit) return hit;
      throw error;
    }
  })());
});
