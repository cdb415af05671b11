#pragma once
// The messages of file input and output failures, as the editor shows them.

#include <string>

enum class OperationFichier { lecture, ecriture };

// Maps errno met while opening, reading or writing `chemin` to its message:
// "File not found", "Invalid filename" (also a folder that does not exist),
// "Too many open files", "File access denied", "Disk full", or "I/O error %d".
std::string message_erreur_fichier(int code_errno, const std::string &chemin, OperationFichier op);
