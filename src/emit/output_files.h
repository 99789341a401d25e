// Writing a translation's output into the output folder, as one
// transaction: the folder holds the old program whole or the new one whole.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "context/context.h"

namespace corvel {

// One translation's hold on its output folder (flock on DIR/.corvel.lock),
// from before anything is written there until the program is in place. A
// process that forks keeps the hold in the child as long as one copy of the
// descriptor stays open.
class FolderLock {
 public:
  FolderLock() = default;
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  ~FolderLock();
  // Waits while another translation holds the folder, calling `on_wait`
  // once first. false with `why` when the lock cannot be had (or the wait
  // was interrupted).
  bool Take(const std::string& dir, const std::function<void()>& on_wait, std::string& why);

 private:
  int fd_ = -1;
};

// Removes what translations that died left in `dir` (killed, say, or out
// of power): their staging folders, putting back any file one had moved
// aside while committing, and the temporaries of older versions. Only
// called with the folder's lock held, so no live translation is touched.
void ClearDeadRuns(const std::string& dir);

// The files of one translation, made apart in a private folder inside the
// output folder (created with an unpredictable name, mode 0700) and moved
// in together by Commit. Until then the output folder is as it was; if the
// stage is dropped unfinished, its files are removed.
class OutputStage {
 public:
  OutputStage() = default;
  OutputStage(const OutputStage&) = delete;
  OutputStage& operator=(const OutputStage&) = delete;
  ~OutputStage() { Discard(); }
  bool Open(const std::string& out_dir, std::string& why);
  const std::string& Dir() const { return dir_; }
  // Creates the staged file `name` exclusively (never through a link). On
  // failure `why` names the file's place in the output folder.
  bool Write(const std::string& name, std::string_view data, std::string& why);
  // Moves every file at the stage's top level into the output folder and
  // removes the files named in `drop` from it. A file replaced or dropped is
  // kept in the stage until every move is done and put back if one fails,
  // so even a crash in the middle leaves what the next run restores.
  bool Commit(const std::vector<std::string>& drop, std::string& why);
  // Removes the stage and what it holds; nothing in the output folder.
  void Discard();
  // Forgets the stage without touching it: another process finishes it.
  void HandOver() { dir_.clear(); }

 private:
  std::string out_dir_;
  std::string dir_;
};

// Stages <Program>.java, .lines and .html, the runtime classes copied from
// <app dir>/SysLib and the folder's manifest. Refuses, with `force` unset,
// to replace a file of the program's name that Corvel did not write or that
// was changed since; and a folder standing where a file must go. 0 on
// success; 1 with ctx.failureText set.
int16_t WriteJavaProgram(TranslationContext& ctx, OutputStage& stage, bool force);

// Commits the staged program: with `compiled`, the classes javac wrote in
// the stage too. The program's own classes that are not replaced are
// removed, so an old class never runs beside a new source. 0 on success; 1
// with ctx.failureText set.
int16_t CommitProgram(TranslationContext& ctx, OutputStage& stage);

// After javac: <Program>.jar in the output folder, holding the program's
// classes, the runtime classes it uses, the viewer, the page and the line
// map, and starting the viewer on the page. Made by the JDK's jar tool
// beside javac, in a stage of its own. 0 on success; 1 with ctx.failureText
// set.
int16_t WriteJar(TranslationContext& ctx);

}  // namespace corvel
