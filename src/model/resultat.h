#pragma once
// How a failure comes back from the model, the picture loader and the Qt adapter above them:
// a Resultat that is either a success or carries the message the editor shows in its error
// box (before the error-box rule, which texte_boite_erreur applies), and an Avec<T> for work
// that yields a value: the value, or the message of the failure that left none. Helpers
// return these; the caller decides whether and how the message is shown.
//
// Messages are UTF-8.

#include <optional>
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

// A T, or the failure that prevented it. A failing helper returns Resultat::echec(...), which
// converts; a succeeding one returns its value.
template <class T> class Avec {
public:
  Avec(T valeur) : valeur_(std::move(valeur)) {}
  // Only a failure converts: a success without a value would be a failure with no message.
  Avec(Resultat echec)
      : message_(echec.ok() ? std::string("Avec: success without a value") : echec.message()) {}

  bool ok() const { return valeur_.has_value(); }
  explicit operator bool() const { return ok(); }
  // Empty on success.
  const std::string &message() const { return message_; }
  // Only on success.
  T &valeur() { return *valeur_; }
  const T &valeur() const { return *valeur_; }
  // The failure alone, for a caller that passes it on without the value.
  Resultat resultat() const { return ok() ? Resultat::succes() : Resultat::echec(message_); }

private:
  std::optional<T> valeur_;
  std::string message_;
};

// The text of the error box: the message with a "." appended when its last character
// sorts after "." (bytes compared as unsigned, so an accented last letter gets one too).
std::string texte_boite_erreur(const std::string &message);
