#pragma once

#include "user_record.h"

#include <vector>

namespace kivo::tools {

// The fictional users of samples/BBBSUSER.DAT: every packer, protocol, charset and language,
// users with and without resumes, long, empty and accented names.
std::vector<UserRecord> sampleUsers();

} // namespace kivo::tools
