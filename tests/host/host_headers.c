/* Every interface header must compile as plain C: a plug-in in C includes them all. */
#include "ADMBasic.h"
#include "ADMDialog.h"
#include "ADMEntry.h"
#include "ADMItem.h"
#include "ADMList.h"
#include "ADMTracker.h"
#include "ADMTypes.h"
#include "AIArt.h"
#include "AIArtStyle.h"
#include "AIBlendStyle.h"
#include "AIDocument.h"
#include "AIDocumentView.h"
#include "AIEnvelope.h"
#include "AIFilter.h"
#include "AIFilterSuite.h"
#include "AILayer.h"
#include "AIMdMemory.h"
#include "AIMenu.h"
#include "AIPath.h"
#include "AIPathStyle.h"
#include "AIRandom.h"
#include "AIRealMath.h"
#include "AIShapeConstruction.h"
#include "AISwatchList.h"
#include "AISymbol.h"
#include "AITransformArt.h"
#include "AITypes.h"
#include "AIUndo.h"
#include "AIUser.h"
#include "PIPL.h"
#include "SPBasic.h"
#include "SPBlocks.h"
#include "SPMessage.h"
#include "SPTypes.h"

int host_headers_compile_as_c(void) { return kSPNoError; }

/* A C plug-in writes SPAPI where it defines a callback, as C++ does. */
static void SPAPI IgnoreNotify(ADMItemRef item, ADMNotifierRef notifier) {
    (void)item;
    (void)notifier;
}

ADMItemNotifyProc host_headers_notify_proc(void) { return IgnoreNotify; }
