// template/qvmConfig.h of tamber_component, %%TITLE%%
