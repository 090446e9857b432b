// LayerEdit.h: the user's edits of a document's layers (the window's Layers panel), as plain
// functions on the model. Each either makes its whole change or none (false, document as it
// was): an unknown layer, or the delete of the last layer, is refused.
//
// Positions here count as the user sees the list: 0 is the topmost layer (Document::layers
// holds them bottom first). The edits do not keep Document::artBytesHeld; the window puts the
// result in through Host::ReplaceDocument, which counts afresh.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "document/Document.h"

namespace easel {

// The name a new layer gets: "Layer N" for the smallest N > the number of layers that no
// layer has.
std::string NewLayerName(const Document& doc);

// A new, empty, visible and unlocked layer directly above the current one (on top when there
// is none), which becomes current. Gives its id.
LayerId InsertLayer(Document& doc, std::string name);

// Removes the layer and all its art (and the art its envelopes hold off the page). The layer
// below it becomes current when it was (the one above when it was the bottom one). Refused for
// the document's last layer.
bool DeleteLayer(Document& doc, LayerId id);

bool RenameLayer(Document& doc, LayerId id, std::string name);
bool SetLayerVisible(Document& doc, LayerId id, bool visible);
bool SetLayerLocked(Document& doc, LayerId id, bool locked);
bool SetCurrentLayer(Document& doc, LayerId id);

// Moves the layer one place up (toward the top, `up`) or down; refused at the end it moves to.
bool MoveLayer(Document& doc, LayerId id, bool up);

// The layer at list position `position` (0 the topmost), or 0; and the position of layer `id`,
// or the number of layers when it has none.
LayerId LayerAtPosition(const Document& doc, size_t position);
size_t PositionOfLayer(const Document& doc, LayerId id);

// The layers of a document without their art: all that an edit of the layers changes, unless
// it deletes a layer that holds art. Undo keeps this rather than copies of the document, so
// that hiding and showing a layer of a large document costs next to nothing.
struct LayerListState {
    struct Entry {
        LayerId id = 0;
        std::string name;
        bool visible = true, locked = false;
    };
    std::vector<Entry> layers;  // bottom first
    LayerId currentLayer = 0;
    LayerId nextLayerId = 1;
};
LayerListState LayerList(const Document& doc);

// Puts `state` back over `doc`: each layer it names keeps the art it holds in `doc` (one that
// `doc` lacks comes back empty), in the state's order and with its name and states; a layer of
// `doc` the state does not name goes when it is empty, and stays on top when it holds art, so
// that nothing is ever lost. Layer ids are never given out again.
void RestoreLayerList(Document& doc, const LayerListState& state);

// Whether going from `before` to `after` took art away with a layer (a layer of `before` with
// art is not in `after`).
bool LayerArtRemoved(const Document& before, const Document& after);

}  // namespace easel
