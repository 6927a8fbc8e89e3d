// Every picture of the editor's picture table, drawn by its name for its
// hot point, and the editor's font.
#pragma once

#include "effect/EditorLayout.h"
#include "tools/artgen/Canvas.h"
#include "tools/artgen/Typeface.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace artgen
{

class ArtSet
{
public:
	ArtSet(const Typeface &regular, const Typeface &bold) : _regular(regular), _bold(bold) {}

	// The drawn picture of a table row, null for a name without a drawing.
	// opaque is set for the background, the only picture without alpha.
	std::unique_ptr<Canvas> draw(const EditorLayout::PicRef &ref, bool &opaque) const;
	// The "APIC" bytes of a drawn picture.
	static std::vector<std::uint8_t> encode(const Canvas &c, bool opaque);

	// The "APIC" bytes of the editor's font, and its strip as a picture
	// (white on transparent) for looking at.
	std::vector<std::uint8_t> font(std::unique_ptr<Canvas> *look = nullptr) const;

private:
	const Typeface &_regular;
	const Typeface &_bold;
};

} // namespace artgen
