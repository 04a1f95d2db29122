#include "pages/server/server_option_key.h"

#include "framework/setup_context.h"
#include "framework/text_compare.h"

std::string ServerOptionKey() {
  return kelvra::EqualsNoCase(GetActiveProduct(), "nervaserver") ? setup_keys::kNervaServer
                                                                 : setup_keys::kCofraServer;
}
