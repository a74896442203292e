# The module table: each module folder and what its files may include and its library may link.
# "Qt" stands for any Qt module; the other names are module folders (target tessaly_<folder>,
# the app folder's library is tessaly_app). Keep this in step with the design notes.
set(TESSALY_MODULES base expr gfx scale chart widgets host html app)
set(TESSALY_MAY_USE_base "")
set(TESSALY_MAY_USE_expr base)
set(TESSALY_MAY_USE_gfx base Qt)
set(TESSALY_MAY_USE_scale gfx base Qt)
set(TESSALY_MAY_USE_chart scale gfx base Qt)
set(TESSALY_MAY_USE_widgets scale gfx base Qt)
set(TESSALY_MAY_USE_host widgets gfx base Qt)
set(TESSALY_MAY_USE_html gfx Qt)
set(TESSALY_MAY_USE_app base expr gfx scale chart widgets host html Qt)
