# Articles, price formation, categories and the bulk cost increase.
# Included by CMakeLists.txt of this folder, which builds the libraries.
list(APPEND CATALOGUE_CORE_SOURCES
  article_rules.cpp article_rules.h
  bulk_increase.cpp bulk_increase.h
  rubro_rules.cpp rubro_rules.h
)
list(APPEND CATALOGUE_UI_SOURCES
  articulos_window.cpp articulos_window.h
  aumenta_costo.cpp aumenta_costo.h
  rubro_pickers.cpp rubro_pickers.h
  rubro_window.cpp rubro_window.h
)
