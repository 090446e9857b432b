// PeImage.h: the Windows counterpart of the ELF reader in ModuleLoader.h: what Easel reads of a
// PE/COFF image (a DLL) without loading it. Plain byte reading, no system headers, so it runs on
// every system, on any bytes.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/ModuleLoader.h"

namespace easel {

// COFF Machine values (the module's architecture).
inline constexpr uint16_t kPeMachineI386 = 0x014C;
inline constexpr uint16_t kPeMachineAmd64 = 0x8664;

// Whether `file` begins as a PE image: "MZ", e_lfanew (the 32-bit offset at 0x3C) inside the
// file, and "PE\0\0" there. Says nothing of the rest.
bool IsPeImage(std::span<const uint8_t> file);

// The COFF header's Machine field (kPeMachineI386 for a 32-bit x86 module). Throws ModuleError
// for a file that is not a PE image or whose COFF header is cut off.
uint16_t PeMachine(std::span<const uint8_t> file);

// The names in the image's export name pointer table, in table order (sorted, in a well-formed
// image), as the loader resolves them from outside; PE32 and PE32+. An image without an export
// directory exports nothing. Every RVA, offset, count and string is checked against the file,
// so a corrupt or truncated image throws ModuleError instead of being read past its end.
std::vector<std::string> PeExportedSymbols(std::span<const uint8_t> file);

}  // namespace easel
