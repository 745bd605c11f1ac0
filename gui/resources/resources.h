// The program's compiled-in pictures (glyphs, title pictures, the program's icon). The library is
// static, so its resources must be registered by name before first use.
#pragma once

namespace mlgui {

// Registers every resource file of gui/resources/; safe to call more than once.
void initResources();

} // namespace mlgui
