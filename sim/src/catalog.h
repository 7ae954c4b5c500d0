// The simulator's own datarefs and commands, from its published lists
// (sim/data/), compiled into the library when it is built.
#ifndef XPLMSIM_CATALOG_H
#define XPLMSIM_CATALOG_H

#include <cstddef>

namespace xplmsim {

struct CatalogDataRef {
  const char* name;
  int types;  // an XPLMDataTypeID mask: a listed double is float|double
  int size;   // elements of an array or bytes of byte data; 1 for a number
  bool writable;
};

extern const CatalogDataRef kCatalogDataRefs[];
extern const size_t kCatalogDataRefCount;
extern const char* const kCatalogCommands[];
extern const size_t kCatalogCommandCount;

}  // namespace xplmsim

#endif
