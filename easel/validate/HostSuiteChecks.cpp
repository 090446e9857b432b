// Easel's own suites under hostile arguments, driven the way a plug-in drives them but without
// one: each suite is acquired through the basic services, and every entry of its table is called
// with null pointers, dead and forged handles, indices and counts out of range, non-finite
// floats and, for the dialog manager, the items, lists and entries of a dialog that has ended.
// Every call must answer the code its header names (at least not success), or the neutral result
// a void or value entry documents; calls that are refused must change nothing, so that the
// document afterwards dumps exactly as before, reads back from its dump, and still takes a
// valid call.
//
// The checks live in host_suites/, one file per family of suites beside the kit they share
// (Kit.h): the basic services and the plug-in's registrations, the document and its art, the
// art's effects, and the dialog manager.
#include "validate/host_suites/Kit.h"

namespace easel::validate {

void AddHostSuiteChecks(std::vector<Check>& checks) {
    host_suites::AddServiceSuiteChecks(checks);
    host_suites::AddDocumentSuiteChecks(checks);
    host_suites::AddArtEffectSuiteChecks(checks);
    host_suites::AddDialogSuiteChecks(checks);
}

}  // namespace easel::validate
