// Journal.h: the undo journal of one document.
//
// Every host message is one transaction. The journal records just enough to put the document
// back where it stood when the transaction began: the ids of art and layers made in it, and
// one copy of each art that existed before and was changed, taken before its first change.
// Art made in the transaction needs no entry for its later changes, so a segment written
// into a new path costs the journal nothing. Undo costs what was changed, not the document.
//
// The journal keeps Document::artBytesHeld up to date for what it removes and restores.
#pragma once

#include <cstdint>
#include <vector>

#include "document/Document.h"

namespace easel {

class Journal {
public:
    // Starts a transaction over the document as it stands; earlier entries are forgotten.
    void Begin(const Document& doc);

    // Ends the transaction: its changes stay, and the copies it held are freed (and no longer
    // counted in doc). Gives the art it touched (made or changed), some of which may be gone
    // since, so that the host can compact their storage.
    std::vector<ArtId> Commit(Document& doc);

    // True when `id` needs no entry before a change: made or copied in this transaction.
    bool Covers(ArtId id) const {
        const size_t slot = ArtSlot(id);
        return slot < stamps_.size() && stamps_[slot].serial == serial_ && stamps_[slot].id == id;
    }

    // Makes room so that the next Created(id, ...) cannot throw. May throw bad_alloc.
    void ReserveCreated(ArtId id);
    // Records art just made on `layer` (after ReserveCreated). Never throws.
    void Created(ArtId id, LayerId layer) noexcept;

    // To be called before changing art `id`: copies it on its first change in the transaction
    // when it existed before. May throw bad_alloc, in which case nothing is recorded.
    // The copy is counted in doc.journalBytes and doc.artBytesHeld while the journal holds it.
    void Changing(Document& doc, ArtId id);

    // To be called before art `id` leaves `layer`, where it stands at `index` (an envelope
    // taking its content and shape off the page). Undo puts it back there, in the reverse order
    // of everything else the transaction made. May throw bad_alloc, in which case nothing is
    // recorded and the caller must not move the art.
    void Removing(LayerId layer, size_t index, ArtId id);
    // Makes room so that the next `more` calls of Removing cannot throw. May throw bad_alloc.
    void ReserveRemovals(size_t more) { removals_.reserve(removals_.size() + more); }

    // Records a layer just inserted. May throw bad_alloc, in which case nothing is recorded
    // (the caller then removes the layer itself).
    void LayerInserted(LayerId id);

    // Rolls the document back to the start of the transaction: restores the copies, removes
    // the art and layers made, puts art taken off the page back where it stood, drops symbols
    // added, restores the current layer and paint.
    // The transaction goes on from there, empty. Never throws.
    void Undo(Document& doc) noexcept;

    // True when nothing is recorded in this transaction.
    bool Empty() const {
        return created_.empty() && copies_.empty() && layers_.empty() && removals_.empty();
    }

private:
    struct Stamp {
        uint32_t serial = 0;  // the transaction that made or copied the slot's art
        ArtId id = 0;         // which art of the slot
    };
    struct MadeArt {
        ArtId id;
        LayerId layer;
    };

    struct Removal {
        LayerId layer;
        size_t index;          // position in the layer's list when it left
        ArtId id;
        size_t createdBefore;  // created_.size() at the time: what was made before it left
    };

    void Stamp_(ArtId id) noexcept;

    uint32_t serial_ = 1;
    std::vector<Stamp> stamps_;  // by art slot
    std::vector<MadeArt> created_;  // in order of making
    std::vector<Art> copies_;       // art as it stood before its first change
    std::vector<LayerId> layers_;   // in order of insertion
    std::vector<Removal> removals_;  // in order of leaving

    // The document at the start, as far as undo restores it beyond art and layers.
    LayerId currentLayer_ = 0;
    size_t symbolCount_ = 0;
    PathStyle currentPaint_{};
};

}  // namespace easel
