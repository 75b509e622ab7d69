#pragma once
// The debugger's breakpoint marks in the open sources, kept equal to the debug
// manager's list both ways.
#include <cstdint>
#include <string>
#include <vector>

namespace ide {
class CVyrDebugMgr;
}

namespace shell {

class CVyrFrameDoc;

std::vector<CVyrFrameDoc*> OpenSourceDocuments();

// The lines (1-based) that carry a breakpoint mark.
std::vector<std::uint32_t> MarkedBreakpointLines(CVyrFrameDoc& doc);

// The manager's breakpoints of `path` become exactly `lines`: marked lines it
// lacks are added (and planted during a run), its others are removed.
void SetFileBreakPoints(ide::CVyrDebugMgr& manager, const std::string& path, const std::vector<std::uint32_t>& lines);

// Every open document's marks go to the manager.
void CollectOpenDocumentBreakpoints(ide::CVyrDebugMgr& manager);

// The other way: each open document shows the manager's breakpoints of its
// path (a planted breakpoint may have moved to the next line with code, or
// been dropped).
void MarkBreakpointLines(const ide::CVyrDebugMgr& manager);

}  // namespace shell
