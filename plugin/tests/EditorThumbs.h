#pragma once
// Where the editor's fader thumbs lie, in pictures of the Linux editor and by the Windows
// trackbar's geometry, for tests that check what the editor shows.
#include <cstdint>
#include <vector>

// The top row of a fader's thumb in a picture of the editor (0x00RRGGBB, `width` a row): the
// first row, down the thumb's left part, that is not the panel's red.
int ThumbTop(const std::vector<std::uint32_t>& pixels, int width, int id);
// The same in a picture of the editor drawn at `scale`.
int ThumbTop(const std::vector<std::uint32_t>& pixels, int width, int id, double scale);
// How far a fader's thumb may lie from its 1x row times the scale: each size truncates a row once,
// so one pixel up to 200 %, two beyond.
double ThumbTolerance(double scale);
// The pixels of a picture twice the size of `normal` (408 x 174) that differ from its
// nearest-neighbour enlargement.
int DifferingFromEnlargement(const std::vector<std::uint32_t>& large, const std::vector<std::uint32_t>& normal);
// Halved again (each 2 x 2 block averaged), the pixels of a picture twice the size of `normal`
// that differ from it away from its edges and text; `flat` counts the pixels compared.
int HalvedDifferingAwayFromEdges(const std::vector<std::uint32_t>& large, const std::vector<std::uint32_t>& normal,
                                 int& flat);

// Where the Windows trackbar puts the thumb for a parameter value (the shared geometry, which a
// Windows test holds to the real trackbar).
int ExpectedThumbTop(int id, float value, float minimum, float maximum);
