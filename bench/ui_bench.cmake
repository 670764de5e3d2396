# The window: a tone-slider move on a large picture, handler to repainted canvas.
skelda_add_bench(ui_bench SOURCES ui_bench.cpp LIBS skelda_ui)
