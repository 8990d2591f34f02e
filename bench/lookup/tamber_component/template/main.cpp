// template/main.cpp of tamber_component, %%TITLE%%
