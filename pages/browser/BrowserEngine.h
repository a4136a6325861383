#pragma once

// Readies the browser engine for the program's pages: registers the page
// scheme and adds the engine switches that keep pages off the network where
// no request filter reaches (the peer-to-peer connections of WebRTC). Must
// run before the QApplication is constructed; false if the engine refuses
// the scheme.
bool PrepareBrowserEngine();
