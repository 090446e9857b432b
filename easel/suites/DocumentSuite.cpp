// "AI Document Suite" v7: the current document's setup, redraw and colour model.
#include "AIDocument.h"
#include "suites/RecordLayouts.h"
#include "suites/Runtime.h"

namespace easel {
namespace {

// Easel rasterises effects at 800 dpi, shows placed images and does not split long paths.
constexpr float kOutputResolution = 800.0f;

SPErr SPAPI GetDocumentSetup(AIDocumentSetup* setup) {
    return DocumentBoundary(Op::DocGetSetup, [&](Runtime&, Session& s) -> SPErr {
        if (!setup) return kSPBadParameterError;
        *setup = AIDocumentSetup{};
        setup->width = s.doc.pageWidth;
        setup->height = s.doc.pageHeight;
        setup->outputResolution = kOutputResolution;
        setup->showPlacedImages = 1;
        setup->splitLongPaths = 0;
        return kSPNoError;
    });
}

SPErr SPAPI RedrawDocument() {
    return DocumentBoundary(Op::DocRedraw, [&](Runtime& rt, Session&) -> SPErr {
        ++rt.redraws;
        // A window repaints now, while the plug-in's dialog is still open over it.
        if (rt.redrawHandler) rt.redrawHandler();
        return kSPNoError;
    });
}

SPErr SPAPI GetDocumentColorModel(int16_t* model) {
    return DocumentBoundary(Op::DocGetColorModel, [&](Runtime&, Session& s) -> SPErr {
        if (!model) return kSPBadParameterError;
        switch (s.doc.colorModel) {
            case ColorModel::Gray: *model = kDocGrayColor; break;
            case ColorModel::RGB: *model = kDocRGBColor; break;
            case ColorModel::CMYK: *model = kDocCMYKColor; break;
        }
        return kSPNoError;
    });
}

const AIDocumentSuite kTable = {GetDocumentSetup, RedrawDocument, GetDocumentColorModel};

}  // namespace

const void* DocumentSuiteTable() { return &kTable; }

}  // namespace easel
