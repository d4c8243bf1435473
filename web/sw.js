// The site's service worker: once visited, the page opens from its cache, on the home screen or
// with no network. The list of files and the version are written in when the site is assembled;
// a new version fetches them all again and drops the old cache.
"use strict";
const VERSION = "@VERSION@";
const FILES = /*@FILES@*/[];

self.addEventListener("install", (event) => {
  event.waitUntil(caches.open(VERSION).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((n) => n !== VERSION).map((n) => caches.delete(n))))
    .then(() => self.clients.claim()));
});

// The cache first (the site changes only with a new version), the network for anything else.
self.addEventListener("fetch", (event) => {
  if (event.request.method !== "GET") return;
  event.respondWith(caches.open(VERSION).then((cache) => cache.match(event.request, {ignoreSearch: true})
    .then((hit) => hit || fetch(event.request))));
});
