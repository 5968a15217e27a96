"""The skin's colours as RGB triples (the code writes them as COLORREF 0x00BBGGRR)."""

PANEL = (128, 0, 0)          # 0x000080: every control's background and the transparent colour
HIGHLIGHT = (255, 207, 0)    # 0x00CFFF: captions, active ticks, lit waveform
BEVEL_LIGHT = (255, 0, 0)    # 0x0000FF: button frame highlight
BEVEL_DARK = (0, 0, 0)       # 0x000000: button frame shadow
FACE_TOP_LEFT = (153, 0, 0)      # 0x000099: button face gradient, top-left corner
FACE_BOTTOM_RIGHT = (51, 0, 0)   # 0x000033: button face gradient, bottom-right corner
