#include "res/resources.h"

std::string LoadResourceString(int id) {
  // The string table holds one entry: the version of this link component.
  if (id == 1) return "22.03.00";
  return std::string();
}
