/* PIPL.h: the plug-in property list, resource type "PIPL" id 16000, by which a host knows a
 * module as one of its plug-ins before calling it.
 *
 * Binary layout, every integer little-endian 32-bit:
 *   version            0
 *   count              number of properties
 *   count properties, each:
 *     vendorID         four-character code, here always 'ADBE'
 *     propertyKey      four-character code, one of the keys below
 *     propertyID       0
 *     propertyLength   bytes of data, before padding
 *     data             propertyLength bytes, then zero bytes up to a multiple of 4
 *
 * A four-character code is stored as the little-endian integer of SP_FOUR_CHAR_CODE, so its
 * characters read reversed in the file: 'SPEA' is the bytes "AEPS". */
#ifndef HOST_PIPL_H
#define HOST_PIPL_H

#include "SPTypes.h"

#define kPIPLResourceType "PIPL"
#define kPIPLResourceId 16000
#define kPIPLVersion 0

#define kPIPLVendorAdobe SP_FOUR_CHAR_CODE('A', 'D', 'B', 'E')
/** data: one four-character code, the kind of plug-in; kPIPLKindHostPlugin for this host. */
#define kPIPLKindKey SP_FOUR_CHAR_CODE('k', 'i', 'n', 'd')
#define kPIPLKindHostPlugin SP_FOUR_CHAR_CODE('S', 'P', 'E', 'A')
/** data: one integer, the plug-in interface version; the host takes kPIPLInterfaceVersion. */
#define kPIPLInterfaceVersionKey SP_FOUR_CHAR_CODE('i', 'v', 'r', 's')
#define kPIPLInterfaceVersion 2
/** data: the terminated name of the module's entry point (Windows x86 code descriptor). */
#define kPIPLWin32X86CodeKey SP_FOUR_CHAR_CODE('w', 'x', '8', '6')

#endif /* HOST_PIPL_H */
