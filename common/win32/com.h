#pragma once

// Owners for COM: interface pointers and the per-thread apartment.

#include <objbase.h>

#include <utility>

// A COM interface pointer: Release on destruction, AddRef on copy.
template <typename Interface>
class ComPtr {
public:
    ComPtr() = default;
    // Takes over a reference the caller already owns (as COM out-parameters give).
    explicit ComPtr(Interface* owned) : ptr_(owned) {}
    ComPtr(const ComPtr& other) : ptr_(other.ptr_) {
        if (ptr_ != nullptr) {
            ptr_->AddRef();
        }
    }
    ComPtr(ComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(ptr_, other.ptr_);
        return *this;
    }
    ~ComPtr() { reset(); }

    Interface* get() const { return ptr_; }
    Interface* operator->() const { return ptr_; }
    explicit operator bool() const { return ptr_ != nullptr; }

    // For COM out-parameters: releases what is held and hands out the slot.
    Interface** put() {
        reset();
        return &ptr_;
    }

    void reset() {
        if (ptr_ != nullptr) {
            std::exchange(ptr_, nullptr)->Release();
        }
    }

private:
    Interface* ptr_ = nullptr;
};

// CoInitializeEx for the calling thread, balanced with CoUninitialize when it
// succeeded (also when COM was already initialised on the thread).
class ComApartment {
public:
    explicit ComApartment(DWORD model = COINIT_APARTMENTTHREADED) : result_(CoInitializeEx(nullptr, model)) {}
    ~ComApartment() {
        if (SUCCEEDED(result_)) {
            CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    bool ok() const { return SUCCEEDED(result_); }

private:
    HRESULT result_;
};
