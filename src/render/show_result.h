// What became of a request to put a picture on the card.
#ifndef CORVANE_RENDER_SHOW_RESULT_H
#define CORVANE_RENDER_SHOW_RESULT_H

enum class ShowResult {
  kShown,          // every pixel painted, and the card accepted the frame
  kNotHeld,        // no output, frame and mode to paint into; nothing happened
  kNotWritable,    // the frame's pixels could not be written; nothing was
                   // displayed, so the card still shows the previous picture
  kDisplayFailed,  // painted, but the card refused the display call
};

// The outcome in words, for the lines the network modes print: "shown", or
// why the picture is not on the card.
const char* whyNotShown(ShowResult result);

#endif  // CORVANE_RENDER_SHOW_RESULT_H
