#pragma once
// The job lists of a build: every tool row's command-line tail, byte for
// byte, since the tools parse it. The command line a tool receives is its
// quoted path, a blank, and this tail, split by the platform's rules, so each
// path is one argument even when it holds blanks.
#include <string>
#include <string_view>
#include <vector>

#include "ide/build/build_jobs.h"
#include "ide/build/job_context.h"

namespace ide {

// Build (rebuild = false) or Rebuild All of the whole project.
os::Result<std::vector<BuildJob>> MakeBuildJobs(const JobContext& context, bool rebuild);

// Compile of the one source `path` (a full path).
os::Result<std::vector<BuildJob>> MakeCompileJobs(const JobContext& context, std::string_view path);

// Makes the folders the tools write into: the project's "DEBUG\" folder and,
// for a C source stored with a folder, that folder inside it (where its
// intermediate files go). A project opened from files that were never saved
// by the IDE has none of them yet.
os::Status MakeOutputFolders(const JobContext& context);

// The libraries of the link line, each quoted and followed by the separator.
// A standard library no library folder holds is passed by its name, so the
// linker reports it.
std::string MakeLibraryList(const JobContext& context, char separator);

// Full path of the start-up object ("Default ObjName"), or empty.
std::string FindDefaultObject(const JobContext& context);

// The include part of the preprocessor and assembler rows.
std::string IncludePart(const JobContext& context);

// `text` as one argument of a command line that the platform's rules split:
// a quote inside is escaped, and backslashes before a quote are doubled.
std::string QuotedArgument(std::string_view text);

// `folder` quoted so that the split argument ends in exactly one separator.
std::string QuotedFolder(std::string_view folder);

}  // namespace ide
