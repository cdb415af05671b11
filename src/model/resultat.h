#pragma once
// How a failure comes back from the model: a Resultat that is either a success or carries
// the message the editor shows in its error box (before the error-box rule, which
// texte_boite_erreur applies).

#include <string>
#include <utility>

class Resultat {
public:
  static Resultat succes() { return Resultat(true, {}); }
  static Resultat echec(std::string message) { return Resultat(false, std::move(message)); }

  bool ok() const { return ok_; }
  explicit operator bool() const { return ok_; }
  const std::string &message() const { return message_; }

private:
  Resultat(bool ok, std::string message) : ok_(ok), message_(std::move(message)) {}
  bool ok_;
  std::string message_;
};

// The text of the error box: the message with a "." appended when its last character
// sorts after "." (bytes compared as unsigned, so an accented last letter gets one too).
std::string texte_boite_erreur(const std::string &message);
