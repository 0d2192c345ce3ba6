#include "backup/Sha256.h"

#include <openssl/evp.h>

#include <stdexcept>

void Sha256::Free::operator()(evp_md_ctx_st* context) const
{
    EVP_MD_CTX_free(context);
}

Sha256::Sha256()
    : m_context(EVP_MD_CTX_new())
{
    if (!m_context || EVP_DigestInit_ex(m_context.get(), EVP_sha256(), nullptr) != 1)
        throw std::runtime_error("SHA-256 not available");
}

Sha256::~Sha256() = default;

void Sha256::add(QByteArrayView bytes)
{
    EVP_DigestUpdate(m_context.get(), bytes.data(), static_cast<size_t>(bytes.size()));
}

QByteArray Sha256::hex()
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_DigestFinal_ex(m_context.get(), digest, &length);
    EVP_DigestInit_ex(m_context.get(), EVP_sha256(), nullptr);
    return QByteArray(reinterpret_cast<const char*>(digest), static_cast<qsizetype>(length)).toHex();
}
