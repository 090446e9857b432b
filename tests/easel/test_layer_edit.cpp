// The user's edits of the layers as plain functions on the document, each undone and redone
// as one edit through the window's history and Host::ReplaceDocument.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "document/ApplicationHistory.h"
#include "document/LayerEdit.h"
#include "host/Host.h"

namespace easel {
namespace {

// The names as the Layers panel lists them: topmost first; the current one marked with '*'.
std::string Listed(const Document& d) {
    std::string out;
    for (size_t i = 0; i < d.layers.size(); ++i) {
        const Layer* l = d.FindLayer(LayerAtPosition(d, i));
        if (!out.empty()) out += ",";
        out += l->name + (l->id == d.currentLayer ? "*" : "");
    }
    return out;
}

// A document with layers A (bottom), B, C (top), B current, and one path on B.
Document ThreeLayers() {
    Document d = NewDocument();
    d.layers[0].name = "A";
    d.currentLayer = d.layers[0].id;
    InsertLayer(d, "C");
    SetCurrentLayer(d, d.layers[0].id);
    const LayerId b = InsertLayer(d, "B");
    Art art;
    art.path.SetSegment(0, AIPathSegment{{1, 2}, {1, 2}, {1, 2}, 1});
    const ArtId id = d.ReserveArt();
    d.AddArt(art);
    d.FindLayer(b)->art.push_back(id);
    return d;
}

LayerId Named(const Document& d, const std::string& name) {
    for (const Layer& l : d.layers)
        if (l.name == name) return l.id;
    return 0;
}

TEST(LayerEdit, EachEditAsTheListShowsIt) {
    ASSERT_EQ(Listed(ThreeLayers()), "C,B*,A");
    struct Case {
        const char* what;
        bool (*edit)(Document&);
        bool done;
        const char* listed;  // afterwards
    };
    const Case cases[] = {
        {"new layer above the current one", [](Document& d) { return InsertLayer(d, NewLayerName(d)) != 0; }, true,
         "C,Layer 4*,B,A"},
        {"move the current one up", [](Document& d) { return MoveLayer(d, d.currentLayer, true); }, true, "B*,C,A"},
        {"move the current one down", [](Document& d) { return MoveLayer(d, d.currentLayer, false); }, true, "C,A,B*"},
        {"the top one cannot go up", [](Document& d) { return MoveLayer(d, Named(d, "C"), true); }, false, "C,B*,A"},
        {"the bottom one cannot go down", [](Document& d) { return MoveLayer(d, Named(d, "A"), false); }, false,
         "C,B*,A"},
        {"delete the current one: the one below is current", [](Document& d) { return DeleteLayer(d, d.currentLayer); },
         true, "C,A*"},
        {"delete the bottom current one: the one above is current",
         [](Document& d) { return SetCurrentLayer(d, Named(d, "A")) && DeleteLayer(d, Named(d, "A")); }, true, "C,B*"},
        {"delete another: the current one stays", [](Document& d) { return DeleteLayer(d, Named(d, "C")); }, true,
         "B*,A"},
        {"rename", [](Document& d) { return RenameLayer(d, Named(d, "A"), "Ground"); }, true, "C,B*,Ground"},
        {"choose the current one", [](Document& d) { return SetCurrentLayer(d, Named(d, "C")); }, true, "C*,B,A"},
        {"an unknown layer", [](Document& d) { return RenameLayer(d, 99, "x") || SetLayerVisible(d, 99, false) ||
                                                      SetLayerLocked(d, 99, true) || SetCurrentLayer(d, 99) ||
                                                      MoveLayer(d, 99, true) || DeleteLayer(d, 99); },
         false, "C,B*,A"},
    };
    for (const Case& c : cases) {
        Document d = ThreeLayers();
        const Document before = d;
        EXPECT_EQ(c.edit(d), c.done) << c.what;
        EXPECT_EQ(Listed(d), c.listed) << c.what;
        if (!c.done) {
            EXPECT_TRUE(SameDocument(d, before)) << c.what;
        }
    }
}

TEST(LayerEdit, DeletingTakesTheArtAndTheLastLayerStays) {
    Document d = ThreeLayers();
    const LayerId b = Named(d, "B");
    const ArtId onB = d.FindLayer(b)->art[0];
    // An envelope's content lives off the page, held by the envelope on B: it goes with it,
    // also when the envelope's slot comes first (it must not be gone before its content is found).
    Art envelope;
    envelope.kind = ArtKind::Envelope;
    const ArtId env = d.ReserveArt();
    d.AddArt(envelope);
    Art content;
    content.owner = env;
    const ArtId held = d.ReserveArt();
    d.AddArt(content);
    d.FindArt(env)->envelope.content = held;
    d.FindLayer(b)->art.push_back(env);
    ASSERT_LT(ArtSlot(env), ArtSlot(held));

    ASSERT_TRUE(DeleteLayer(d, b));
    EXPECT_EQ(d.FindArt(onB), nullptr);
    EXPECT_EQ(d.FindArt(held), nullptr);
    EXPECT_EQ(d.FindArt(env), nullptr);
    EXPECT_EQ(d.FindLayer(b), nullptr);

    ASSERT_TRUE(DeleteLayer(d, Named(d, "A")));
    const Document one = d;
    EXPECT_FALSE(DeleteLayer(d, d.currentLayer));
    EXPECT_TRUE(SameDocument(d, one));
    EXPECT_EQ(Listed(d), "C*");

    // Names and ids of new layers never repeat one in use.
    const LayerId a = InsertLayer(d, NewLayerName(d));
    EXPECT_EQ(d.FindLayer(a)->name, "Layer 2");
    EXPECT_GT(a, b);
    RenameLayer(d, a, "Layer 3");
    EXPECT_EQ(NewLayerName(d), "Layer 4");
}

TEST(LayerEdit, VisibilityAndLockAreTheLayersOwn) {
    Document d = ThreeLayers();
    ASSERT_TRUE(SetLayerVisible(d, Named(d, "A"), false));
    ASSERT_TRUE(SetLayerLocked(d, Named(d, "C"), true));
    for (const Layer& l : d.layers) {
        EXPECT_EQ(l.visible, l.name != "A") << l.name;
        EXPECT_EQ(l.locked, l.name == "C") << l.name;
    }
}

// Each edit goes in as the window makes it: a copy edited, put in through the host, recorded.
TEST(LayerEditHistory, UndoAndRedoPutBackEachEditAndTheSavedStateIsKnownAgain) {
    Host host;
    Document& doc = host.OpenDocument(ThreeLayers());
    ApplicationHistory history;
    std::vector<bool> layersOnly;  // how each edit was kept
    const auto edit = [&](const char* title, auto&& change) {
        Document after = doc;
        ASSERT_TRUE(change(after)) << title;
        Application a = LayerEditApplication(title, doc, after);
        layersOnly.push_back(a.layersOnly);
        ASSERT_TRUE(host.ReplaceDocument(doc, std::move(after)));
        history.Applied(std::move(a));
    };
    const auto undo = [&] {
        std::optional<Document> d = history.Undo(doc);
        ASSERT_TRUE(d.has_value());
        ASSERT_TRUE(host.ReplaceDocument(doc, std::move(*d)));
    };
    const auto redo = [&] {
        std::optional<Document> d = history.Redo(doc);
        ASSERT_TRUE(d.has_value());
        ASSERT_TRUE(host.ReplaceDocument(doc, std::move(*d)));
    };

    const uint64_t saved = history.State();
    edit("Hide Layer", [](Document& d) { return SetLayerVisible(d, d.currentLayer, false); });
    edit("Delete Layer", [](Document& d) { return DeleteLayer(d, d.currentLayer); });
    edit("Rename Layer", [](Document& d) { return RenameLayer(d, d.currentLayer, "Z"); });
    EXPECT_EQ(Listed(doc), "C,Z*");
    EXPECT_EQ(history.UndoTitle(), "Rename Layer");
    // Only the delete of a layer with art needs copies of the document.
    EXPECT_EQ(layersOnly, (std::vector<bool>{true, false, true}));
    EXPECT_NE(history.State(), saved);

    undo();
    EXPECT_EQ(Listed(doc), "C,A*");
    undo();
    EXPECT_EQ(Listed(doc), "C,B*,A");
    EXPECT_FALSE(doc.FindLayer(Named(doc, "B"))->visible);
    EXPECT_EQ(doc.FindLayer(Named(doc, "B"))->art.size(), 1u);  // the deleted art is back
    EXPECT_EQ(host.HeldArtBytes(), doc.ArtBytes());
    undo();
    EXPECT_EQ(history.State(), saved);  // back where it was saved: no changes to save
    EXPECT_TRUE(SameDocument(doc, ThreeLayers()));
    EXPECT_FALSE(history.CanUndo());

    redo();
    redo();
    EXPECT_EQ(Listed(doc), "C,A*");
    EXPECT_EQ(history.RedoTitle(), "Rename Layer");
    const uint64_t afterDelete = history.State();
    edit("Move Layer Up", [](Document& d) { return MoveLayer(d, d.currentLayer, true); });
    EXPECT_FALSE(history.CanRedo());
    EXPECT_NE(history.State(), afterDelete);
    undo();
    EXPECT_EQ(history.State(), afterDelete);
    EXPECT_EQ(Listed(doc), "C,A*");

    // Another document: nothing to undo, and a state no earlier one had.
    history.Clear();
    EXPECT_FALSE(history.CanUndo());
    EXPECT_NE(history.State(), saved);
    EXPECT_NE(history.State(), afterDelete);
}

TEST(LayerListState, PutBackOverTheArtAsItIsNow) {
    Document d = ThreeLayers();  // A, B (with art, current), C
    const LayerListState state = LayerList(d);
    const LayerId a = Named(d, "A"), b = Named(d, "B"), c = Named(d, "C");
    // Since then: C deleted (empty), A renamed, hidden and moved up, a new layer with art, B's
    // art grown, the new layer current.
    ASSERT_TRUE(DeleteLayer(d, c));
    RenameLayer(d, a, "A2");
    SetLayerVisible(d, a, false);
    MoveLayer(d, a, true);
    const LayerId n = InsertLayer(d, "N");
    const LayerId emptyNew = InsertLayer(d, "E");
    d.FindLayer(n)->art.push_back(d.FindLayer(b)->art[0]);
    d.FindLayer(b)->art.push_back(d.FindLayer(b)->art[0]);
    const LayerId next = d.nextLayerId;

    RestoreLayerList(d, state);
    // The state's layers, order, names and flags; C back empty; N kept on top, as it holds
    // art; the empty new one gone; B's art as it is now; no layer id given out again.
    EXPECT_EQ(Listed(d), "N,C,B*,A");
    EXPECT_TRUE(d.FindLayer(a)->visible);
    EXPECT_TRUE(d.FindLayer(c)->art.empty());
    EXPECT_EQ(d.FindLayer(b)->art.size(), 2u);
    EXPECT_EQ(d.FindLayer(emptyNew), nullptr);
    EXPECT_EQ(d.nextLayerId, next);
    // A current layer that is gone leaves the topmost current.
    LayerListState gone = state;
    gone.currentLayer = 99;
    RestoreLayerList(d, gone);
    EXPECT_EQ(d.currentLayer, n);
}

}  // namespace
}  // namespace easel
