// Symbol visibility for the host libraries and the plug-ins.
//
// Every shared library is built with hidden visibility; what a library offers
// to others is marked with VIREO_API.  On Linux the same attribute serves the
// library that defines a symbol and the code that uses it.
#pragma once

#define VIREO_API __attribute__((visibility("default")))

// Marks a part of an exported class that stays inside its library: a nested
// type or a private helper that only the library's own sources use.
#define VIREO_LOCAL __attribute__((visibility("hidden")))
