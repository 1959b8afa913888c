#include "reg/IRegDir.h"

namespace s::reg {

IRegDir* IRegDir::at(std::u16string_view subPath) const
{
    auto* key = dynamic_cast<IRegDir*>(newInstance());
    if (key)
        key->setRoot(root(), subPath);
    return key;
}

IRegDir* IRegDir::parent() const
{
    const std::u16string& path = subPath();
    const size_t cut = path.find_last_of(u'\\');
    return at(cut == std::u16string::npos ? std::u16string_view() : std::u16string_view(path).substr(0, cut));
}

void IRegDir::setRootNamed(std::u16string_view rootName, std::u16string_view subPath)
{
    struct Named {
        std::u16string_view name;
        RootKey root;
    };
    static constexpr Named kRoots[] = {
        {u"HKEY_USERS", RootKey::Users},
        {u"HKEY_LOCAL_MACHINE", RootKey::LocalMachine},
        {u"HKEY_CURRENT_USER", RootKey::CurrentUser},
        {u"HKEY_CURRENT_CONFIG", RootKey::CurrentConfig},
        {u"HKEY_CLASSES_ROOT", RootKey::ClassesRoot},
    };
    for (const Named& named : kRoots) {
        if (named.name == rootName) {
            setRoot(named.root, subPath);
            return;
        }
    }
    setRoot(RootKey::CurrentUser, u"InvalidKey");
}

}  // namespace s::reg
