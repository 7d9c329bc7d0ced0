// The start of every page of the web build, run before the program. Nothing
// of the program runs before the window's first paint: the page fetches the
// program once it has loaded, and the program waits here for that paint.

// The program's standard error goes to the console as errors.
Module["printErr"] = function(text) { console.error(text); };

// The program starts once the window it takes over has been painted in its
// font, so that its start never delays that paint.
Module["preRun"] = [function() {
    addRunDependency("first paint");
    document.fonts.load('16px "Times New Roman"').then(function() {
        requestAnimationFrame(function() {
            setTimeout(function() { removeRunDependency("first paint"); });
        });
    });
}];

// A page that is an app (it has a manifest) keeps its files for use offline.
if ("serviceWorker" in navigator && document.querySelector("link[rel=manifest]")) {
    navigator.serviceWorker.register("service-worker.js");
}
