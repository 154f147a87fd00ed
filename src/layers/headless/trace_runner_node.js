// Put before the node build of the trace runner (--pre-js). The runner draws
// nothing, yet linking the frame routine brings emscripten's legacy GL,
// whose start-up warnings would come before every one-line error.
Module['printErr'] = function (text) {
  if (!text.startsWith('WARNING: using emscripten GL emulation'))
    console.warn(text);
};
