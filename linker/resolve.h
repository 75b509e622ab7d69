#pragma once
// Resolution (one stage): the entry procedures "reset" and "farcall", then every fix-up
// of every object against the other objects' publics and, for what they do
// not define, against the libraries. What a library member provides is
// pulled out procedure by procedure (or data segment by data segment), and
// the references inside a pulled record are resolved in turn through a
// worklist, so pulls that refer to each other end.
#include "linker/link_context.h"
#include "linker/link_report.h"

namespace linker {

void resolve_externals(LinkContext& link, LinkReporter& reporter);

}  // namespace linker
