#pragma once
// Short real sounds for the tests that play them: a mono 16-bit PCM WAV of a 440 Hz tone.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

inline void ecrit_wav(const QString &chemin, int duree_ms) {
  constexpr int frequence = 22050;
  const auto echantillons = static_cast<quint32>(frequence * duree_ms / 1000);
  QByteArray d;
  auto u32 = [&d](quint32 v) {
    for (int i = 0; i < 4; ++i)
      d.append(static_cast<char>((v >> (8 * i)) & 0xFF));
  };
  auto u16 = [&d](quint32 v) {
    d.append(static_cast<char>(v & 0xFF));
    d.append(static_cast<char>((v >> 8) & 0xFF));
  };
  d.append("RIFF");
  u32(36 + echantillons * 2);
  d.append("WAVEfmt ");
  u32(16);
  u16(1); // PCM
  u16(1); // mono
  u32(frequence);
  u32(frequence * 2);
  u16(2);
  u16(16);
  d.append("data");
  u32(echantillons * 2);
  for (quint32 i = 0; i < echantillons; ++i) {
    const double t = static_cast<double>(i) / frequence;
    u16(static_cast<quint16>(
        static_cast<qint16>(8000.0 * std::sin(2 * std::numbers::pi * 440.0 * t))));
  }
  QFile f(chemin);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  ASSERT_EQ(f.write(d), d.size());
}
