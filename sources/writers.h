// The five writers of the scenario's text files. Each builds its file name
// from the folder and the identifiers and replaces any older file of that
// name with its fixed content. File failures throw file_error.
#pragma once

#include <string_view>

#include "base/file_system.h"
#include "base/program_folder.h"

namespace scenario {

// Line description: `nome_linea`_linea.txt.
void dati_linea(file_system& fs, const program_folder& cartella, std::string_view nome_linea);

// Service file: `nome_linea`_`numero_treno`-.txt.
void dati_treno(file_system& fs, const program_folder& cartella, std::string_view nome_linea,
                std::string_view numero_treno);

// Notes for the driver: `nome_linea`_`numero_treno`_note.txt.
void dati_note(file_system& fs, const program_folder& cartella, std::string_view nome_linea,
               std::string_view numero_treno);

// Slowdown order form: `nome_linea`_`numero_treno`_rallentamenti.txt.
void dati_rallentamenti(file_system& fs, const program_folder& cartella,
                        std::string_view nome_linea, std::string_view numero_treno);

// Timetable sheet: `nome_linea`_`numero_treno`_scheda_treno.txt.
void dati_scheda(file_system& fs, const program_folder& cartella, std::string_view nome_linea,
                 std::string_view numero_treno);

}  // namespace scenario
