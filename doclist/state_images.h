#pragma once

// The state images of the document list: one 16 x 16 picture for each RowState, drawn here by
// code so that the artwork can be read and changed.

#include <doclist/document_row.h>

#include <base/owners.h>

#include <cstdint>
#include <vector>

namespace doclist {

constexpr int kStateImageSize = 16;

// The picture of one state: kStateImageSize rows of kStateImageSize pixels, top row first, each
// 0xAARRGGBB with straight (not premultiplied) alpha, the layout of a 32-bit DIB.
std::vector<std::uint32_t> DrawStateImage(RowState state);

// The four pictures in RowState order, as a 32-bit image list with alpha; empty on failure.
base::UniqueImageList CreateStateImageList();

} // namespace doclist
