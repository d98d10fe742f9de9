// Keeps the page's files for use offline. Each build names its cache after a hash of the files
// it caches (stamped at build time), so a changed build is a new worker: it caches its own
// files, takes over at once and drops the old copy. Requests go to the network first, so the
// next load shows a new build; the cache answers only when the network does not.
'use strict';
const CACHE = 'tamirel-@TAMIREL_VERSION@';
const FILES = ['index.html', 'lesson.js', 'tamirel-lesson.wasm', 'manifest.webmanifest', 'favicon.png', 'icon-192.png', 'icon-512.png'];

self.addEventListener('install', (event) => {
  // Past the browser's HTTP cache, so the copy is this build's.
  event.waitUntil(caches.open(CACHE)
    .then((cache) => cache.addAll(FILES.map((file) => new Request(file, { cache: 'reload' }))))
    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name !== CACHE).map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== location.origin) return;
  // Asked again of the server (a cheap 304 when unchanged), never taken as fresh from the HTTP cache.
  event.respondWith(fetch(request, { cache: 'no-cache' }).catch(async () => {
    const cache = await caches.open(CACHE);
    const hit = await cache.match(request, { ignoreSearch: true })
      || (request.mode === 'navigate' ? await cache.match('index.html') : undefined);
    if (hit) return hit;
    throw new TypeError(`Tamirel: ${request.url} is not kept for offline use`);
  }));
});
