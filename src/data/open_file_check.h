#pragma once
// OpenFileChecked: the one way every keyed file is opened. Opens shared (42h), creates a
// missing file when `create` is 1, and returns the final code (0 when the file is open).
#include <cstdint>
#include <optional>

#include "platform/store/file.h"

namespace data {

int openFileChecked(store::FileBase& file, std::optional<std::uint8_t> create = std::nullopt,
                    std::uint8_t mode = store::Mode::ReadWriteDenyNone);

}  // namespace data
