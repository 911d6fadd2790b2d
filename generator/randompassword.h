#pragma once

#include <QString>
#include <functional>

// One random password from three settings: length, kind of characters, case of letters.
// Every write of a setting makes a new password at once; reading Password() never does.
class RandomPassword {
public:
    // A uniform value r with 0 <= r < 1. The default draws from the operating system's secure
    // generator; tests pass a scripted sequence to pin down the order and meaning of the draws.
    using UniformSource = std::function<double()>;

    explicit RandomPassword(UniformSource uniform = {});

    // 26 slots for 25 letters: "O" is left out, being easily read as zero, and "Q" takes its slot as well,
    // so "Q" comes twice as often as any other letter.
    static constexpr char kLetterSlots[] = "ABCDEFGHIJKLMNQPQRSTUVWXYZ";

    // 1 upper, 2 lower, any other value mixed.
    int LetterCase() const { return m_letterCase; }
    void setLetterCase(int letterCase);

    // 1 digits only, 3 digits and letters, any other value (the dialogs use 2) letters only.
    int PasswordType() const { return m_passwordType; }
    void setPasswordType(int passwordType);

    // A length of zero or below gives the empty password.
    qint16 Length() const { return m_length; }
    void setLength(qint16 length);

    QString Password() const { return m_password; }

    void Generate();

    // The single draws Generate() is made of; each consumes the uniform values noted.
    QString RandomLetter(); // one for the letter, then one for the case when the case is mixed
    bool ChooseDigit();     // one fair coin: true takes a digit
    bool ChooseUpper();     // one fair coin: true takes upper case
    QString RandomDigit();  // one for the digit

private:
    double draw();
    bool coin();

    UniformSource m_uniform;
    int m_letterCase = 3;
    int m_passwordType = 3;
    qint16 m_length = 6;
    QString m_password;
};
