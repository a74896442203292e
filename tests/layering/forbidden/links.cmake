# The link items of the fixture's libraries.
set(TESSALY_LINKS_expr "tessaly_base;tessaly_chart")
set(TESSALY_LINKS_chart "tessaly_scale;tessaly_expr;tessaly_gfx;Qt6::Widgets")
