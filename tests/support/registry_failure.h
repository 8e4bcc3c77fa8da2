// The message of the registry failure a piece of code raises.
#pragma once

#include <string>

#include "core/failure_classes.h"

namespace quillmark::testing {

// Runs body and returns the message of the ERegistryException it raises ("" if none).
template <typename Body>
std::string RegistryFailure(Body body) {
  try {
    body();
  } catch (const ERegistryException& failure) {
    return failure.Message();
  }
  return "";
}

}  // namespace quillmark::testing
