// The page's files, kept for use without the network. The build writes the
// cache's name (from the files' content) and the list of files in place of
// the two marks below, so that any change to a file gives the worker new
// bytes, and the browser installs it on the next visit with the network.
var CACHE = "quenlor-@DIGEST@";
var FILES = ["@FILES@"];

self.addEventListener("install", function(event) {
  event.waitUntil(caches.open(CACHE).then(function(cache) {
    return cache.addAll(FILES.map(function(file) { return new Request(file, {cache: "reload"}); }));
  }).then(function() { return self.skipWaiting(); }));
});

// The new worker drops every other cache, the old page's files.
self.addEventListener("activate", function(event) {
  event.waitUntil(caches.keys().then(function(names) {
    return Promise.all(names.filter(function(name) { return name != CACHE; })
                            .map(function(name) { return caches.delete(name); }));
  }).then(function() { return self.clients.claim(); }));
});

// The kept file when there is one, else the network.
self.addEventListener("fetch", function(event) {
  if (event.request.method != "GET") return;
  var url = new URL(event.request.url);
  var key = url.pathname.endsWith("/index.html") ? new URL("./", url) : url;
  event.respondWith(caches.open(CACHE).then(function(cache) {
    return cache.match(key.href, {ignoreSearch: true});
  }).then(function(kept) { return kept || fetch(event.request); }));
});
