#pragma once
// The program's seams (modal runs, message boxes, the shell, the elevated launcher, ...) are
// set through functions that hand back what they replace. A SeamGuard puts a test's stand-in
// in for its own life and the previous one back afterwards.
#include <utility>

template <typename Function>
class SeamGuard {
public:
    using Setter = Function (*)(Function);
    SeamGuard(Setter set, Function standIn) : m_set(set), m_previous(set(std::move(standIn))) {}
    ~SeamGuard() { m_set(std::move(m_previous)); }
    SeamGuard(const SeamGuard&) = delete;
    SeamGuard& operator=(const SeamGuard&) = delete;

private:
    Setter m_set;
    Function m_previous;
};

// Gives a variable a value for the test's life and puts the old one back afterwards.
template <typename T>
class ValueGuard {
public:
    explicit ValueGuard(T& variable) : m_variable(variable), m_saved(variable) {}
    ValueGuard(T& variable, T value) : ValueGuard(variable) { m_variable = std::move(value); }
    ~ValueGuard() { m_variable = std::move(m_saved); }
    ValueGuard(const ValueGuard&) = delete;
    ValueGuard& operator=(const ValueGuard&) = delete;

private:
    T& m_variable;
    T m_saved;
};
