// The picture formats the program writes.
#pragma once

enum class PictureFormat { Bmp, Png, Svg, Pdf };
