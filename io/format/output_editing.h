// Editing one output value for its data edit descriptor.
#pragma once

#include <cstdint>
#include <string_view>

#include "io/format/edit_state.h"
#include "io/types.h"

namespace io {

// The edited text of one field and the width of the field; the text is never
// longer than the width (a value that does not fit comes back as asterisks)
// and stands right-justified in the field.
struct OutputField {
    std::string_view text;
    std::int32_t width;
};

// Edits one element (a complex part comes as its real kind) of `size` bytes
// at `data`. The pairing of descriptor and item has been checked.
OutputField editOutputField(const Descriptor& descriptor, const EditState& state, ItemKind kind,
                            const unsigned char* data, std::int32_t size);

}  // namespace io
