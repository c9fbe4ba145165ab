# Article pickers, price lookup and bar-code entry.
torvi_add_test(tst_article_search SOURCES tst_article_search.cpp picker_fixture.h LIBS torvi_catalogue_core)
torvi_add_test(tst_article_picker SOURCES tst_article_picker.cpp picker_fixture.h LIBS torvi_catalogue_ui GUI)
torvi_add_test(tst_price_lookup SOURCES tst_price_lookup.cpp picker_fixture.h LIBS torvi_catalogue_ui GUI)
torvi_add_test(tst_codigo_barras_ticket SOURCES tst_codigo_barras_ticket.cpp picker_fixture.h
               LIBS torvi_catalogue_ui GUI)

# The picker benchmark (bench/bench_pickers.cpp) is built by bench/ with the
# store alone; it needs the windows too. bench/ is read after this folder,
# so the link is added once the whole tree has been read.
function(torvi_link_bench_pickers)
  if(TARGET bench_pickers)
    target_link_libraries(bench_pickers PRIVATE torvi_catalogue_ui)
  endif()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL torvi_link_bench_pickers)
