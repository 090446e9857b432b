// JsonDump.h: the JSON dump of a document, a public format that holds the whole document
// exactly (see FORMATS.md). Reading a dump back gives a document for which SameDocument
// holds; later versions of the format only add fields, and the reader ignores fields it
// does not know.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "document/Document.h"
#include "document/Progress.h"

namespace easel {

// A dump that cannot be read. what() names the bad field by its path from the root, e.g.
// "layers[0].art[3].segments[2].p: expected an array of 2 numbers".
class DumpError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TextWriter;

// The dump, pretty-printed with a 2-space indent, keys in alphabetical order and a final
// newline (the layout of nlohmann::json's dump(2)), written to `out` as it is produced: no
// tree or text of the whole document is held. Names that are not valid UTF-8 have their bad
// bytes replaced by U+FFFD, since JSON text must be UTF-8. Reports to `progress` after each
// layer art, by the share of the document's segments written, and throws Cancelled when it
// says stop. The caller flushes `out`.
void DumpDocument(const Document& doc, TextWriter& out, Progress* progress = nullptr);

// The same text as one string.
std::string DumpDocumentText(const Document& doc);

// The dump as a tree (for tests that edit a dump before reading it back).
nlohmann::json DumpDocument(const Document& doc);

// A new document: ids numbered afresh from 1 in load order (layer art bottom layer first,
// then layers 1, 2, ...), symbol art with id 0 (it is not live art). Views, swatches,
// graphic styles and the current paint come from the dump when it carries them, else from
// NewDocument(colorModel), the view centred on the loaded page. Throws DumpError.
// The text is read as a stream of values (nlohmann::json's SAX parser): art goes into the
// document as it is read, and only small parts (one segment, one paint record) are ever
// held as a tree. A syntax error is a DumpError too.
Document LoadDocumentText(std::string_view text);

// The same for a tree (checked exactly as its text would be).
Document LoadDocument(const nlohmann::json& dump);

// Reads the file at `path` through a buffer, reporting to `progress` by the share of the
// file's bytes read (and throwing Cancelled when it says stop). Every failure, including a
// file that cannot be read and running out of memory, is a DumpError whose message begins
// cannot read "PATH": and goes on with the reason (for a bad dump, the field's path).
Document LoadDocumentFile(const std::string& path, Progress* progress = nullptr);

}  // namespace easel
