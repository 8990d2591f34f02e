// template/qvmConfig.cpp of tamber_component, %%TITLE%%
