// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps the page's files, so that the program starts again without a
// network once it has been opened. Each build names its own store (its
// files' digest), so a new build replaces the old one as a whole, never a
// new page with an old program.
"use strict";

const store = "chaos-game-@BUILD_ID@";
const files = [@FILES@];

self.addEventListener("install", (event) => {
  event.waitUntil(caches.open(store).then((cache) => cache.addAll(files)).then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(
    caches.keys()
      .then((names) => Promise.all(names.filter((name) => name.startsWith("chaos-game-") && name !== store)
                                        .map((name) => caches.delete(name))))
      .then(() => self.clients.claim()));
});

// The kept copy first; the network for anything else.
self.addEventListener("fetch", (event) => {
  if (event.request.method !== "GET")
    return;
  event.respondWith(
    caches.open(store)
      .then((cache) => cache.match(event.request, { ignoreSearch: true }))
      .then((kept) => kept || fetch(event.request)));
});
