// The option key the two server-product pages share: the Nerva server's when
// the active product is Nerva server, the Cofra server's for every other one.
#pragma once

#include <string>

// Full path below HKEY_CURRENT_USER, worked out afresh from "active".
std::string ServerOptionKey();
