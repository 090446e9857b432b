// ArtMaking.h: how the art suites put new art into the document, shared by the suites that
// make art (art, shape construction, envelope). Internal to Easel.
#pragma once

#include "suites/Runtime.h"

namespace easel {

struct Place {
    Layer* layer = nullptr;
    size_t position = 0;  // index into layer->art where the new art goes
};

// An empty open path with what every new path gets: the document's current paint, opacity 1.
Art NewPathArt(const Session& s);

// Where art placed by `order` relative to `prep` goes: kSPBadParameterError for an unknown or
// reserved order or a dead prep where one is needed; kAILockedLayerError for a target layer
// that cannot take art. A prep held by an envelope stands for that envelope.
SPErr FindPlace(Session& s, int16_t order, AIArtHandle prep, Place& place);

// Puts `art` into the document at `place`: budget, then every reservation, then the no-throw
// commit, so that a failure leaves the document as it was. Gives the new id in *newArt.
SPErr MakeArt(Runtime& rt, Session& s, Art art, const Place& place, AIArtHandle* newArt);

// As MakeArt, for art held off the page (an envelope's content or shape): on no layer.
SPErr MakeHeldArt(Runtime& rt, Session& s, Art art, ArtId* newId);

}  // namespace easel
