#pragma once

class Image;

// The cells the fight's marks are drawn from (render/HudLayout.h): each
// monster kind's edge marker and symbol, and the solid colours of the
// mage's facing mark and of the runes' spacing squares.
Image markerAtlas();
