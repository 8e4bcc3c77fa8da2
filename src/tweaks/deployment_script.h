// The deployment script: a registry script that, imported on a Windows 7 by an account that may
// write the keys, leaves the tweaks' keys and values as Apply of the rows followed by its read-back
// leaves them, whatever they were before. It comes from the engine itself, run over a registry in
// which every key and value the tweaks could remove exists, with every change kept aside; it reads
// no registry of the machine.
#pragma once

#include <string>

namespace quillmark {

// The whole script, or only its machine part (HKEY_LOCAL_MACHINE and HKEY_CLASSES_ROOT, for a
// start-up script or an administrator) or its user part (HKEY_CURRENT_USER, for each user's
// log-on script). The parts, imported one after the other in either order, do what the whole
// does.
enum class ScriptPart { Whole, Machine, User };

// boxes: "x" for a ticked row, "." for an unticked one, fourteen of them.
std::string DeploymentScript(const std::string& boxes, ScriptPart part);

}  // namespace quillmark
