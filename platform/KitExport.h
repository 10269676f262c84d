#pragma once

// Marks what the kit's shared library offers to programs that link it. The kit
// is built with hidden symbols, so everything else in it (the string list,
// the settings file, the request queue, ...) stays its own business.
#define KWINDEL_KIT_EXPORT __attribute__((visibility("default")))
