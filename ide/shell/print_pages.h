#pragma once
// Where Corvel prints: each page is written as a picture into a folder (there
// is no printer on this system's side), chosen by Print Setup and kept in the
// profile; until one is chosen, pages go beside the printed file.
#include <string>

#include "platform/profile/store.h"

namespace shell {

// The chosen folder, or the folder of `document_path` when none was chosen.
std::string PrintFolder(profile::Store& store, const std::string& document_path);
void SetPrintFolder(profile::Store& store, const std::string& folder);

}  // namespace shell
