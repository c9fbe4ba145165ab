# Article pickers, price lookup and bar-code entry.
list(APPEND CATALOGUE_CORE_SOURCES
  article_search.cpp article_search.h
  article_list_model.cpp article_list_model.h
  article_barcode.cpp article_barcode.h
)
list(APPEND CATALOGUE_UI_SOURCES
  article_picker.cpp article_picker.h
  barcode_view.cpp barcode_view.h
  window_helpers.cpp window_helpers.h
  codigo_barras_ticket.cpp codigo_barras_ticket.h
  entrar_buscar.cpp entrar_buscar.h
)
