#pragma once

#include <string>

namespace banchiro {

// The two places of Explorer's right-click menu a verb can stand in: the
// menu of folders (the Start button's too) and that of files of every type.
enum class VerbPlace { kFolders, kFiles };

// Verbs of Explorer's right-click menu, in the user's own class store, which
// Windows merges into the classes every program sees and which needs no
// administrator rights. A verb runs its command once for any number of
// selected items. Failures are not reported: a verb that cannot be written
// is simply not there.
class ShellVerbs {
 public:
  virtual ~ShellVerbs() = default;
  // The verb `name` (its menu text; "&" marks the access key) runs `command`.
  virtual void Set(VerbPlace place, const std::string& name, const std::string& command) = 0;
  // Removes the verb and its command, also one that an earlier version put
  // in the machine's classes where Windows allows it; nothing when it is not
  // there.
  virtual void Remove(VerbPlace place, const std::string& name) = 0;
};

}  // namespace banchiro
