// GenerateStars.h: the star generator's one operation.
#pragma once

#include "settings/StarSettings.h"

namespace corvanta {

// Turns the record into art in the current document through the acquired suites.
//
// finalRun and previewDrawn choose the mode: a go run (finalRun 1) after a preview drawn
// with these very settings (previewDrawn 1) keeps that preview, clears previewDrawn and
// draws nothing; any other run first undoes the plug-in's changes of the current host
// message (the previous preview), then draws starCount stars, and a preview run (finalRun
// 0) ends by asking for a redraw. The record is otherwise read only.
//
// Returns 0, or the first failing host code of a tested call, unchanged; art made until the
// failure stays in the document and no redraw is asked for.
SPErr GenerateStars(StarSettings& settings);

}  // namespace corvanta
