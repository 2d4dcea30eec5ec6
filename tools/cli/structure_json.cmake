# The export and import subcommands and what they share: the JSON model of a
# structure, the structure files as texts and their saving together.
target_sources(vedrix_cli PRIVATE code_page_text.cpp export_command.cpp import_command.cpp
                                  strict_json.cpp structure_file_texts.cpp
                                  structure_json_export.cpp structure_json_import.cpp
                                  structure_saving.cpp)
target_link_libraries(vedrix_cli PRIVATE nlohmann_json::nlohmann_json)
